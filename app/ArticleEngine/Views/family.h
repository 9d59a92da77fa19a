// family.h: the parent link of a view.
//
// Views are values held in vectors by their parent, so a parent pointer
// goes stale whenever the parent is copied or moved, or its vector grows.
// The link is therefore never copied: a copied or moved view starts without
// parent, and every container view sets itself as the parent of its
// children after it was built, copied or moved (see reparentChildren() of
// ParagraphView and ArticleView). Children are reached through the typed
// vectors of their parent, not through a list of pointers here.
#pragma once

namespace ArticleEngine {

template <class T>
class Family {
public:
    Family() = default;
    Family(const Family&) { }
    Family& operator=(const Family&) { return *this; }

    T* parent() const { return m_parent; }
    void setParent(T* parent) { m_parent = parent; }

private:
    T* m_parent = nullptr;
};

} // namespace ArticleEngine
