// article_edit_controller.h: the controller of the article editor: one
// article of a user dictionary, its document and undo history, laid out
// and painted with the article engine's views, scrolled by pixels, and
// changed by keys, the mouse and the clipboard.
//
// Invariants: the view is rebuilt from the document after every change,
// so its text is the document's text; the caret record's offsets lie in
// [0, length - 1] (the final line feed is the last place); the undo history
// always holds the current state as its current snapshot's source. Every
// edit runs one frame: the caret goes into the current snapshot, the
// document changes, the view is rebuilt and laid out, the caret placed,
// the widget asked to update and the new source pushed
// (docs/behaviour/article-editing.md).
#pragma once

#include "ArticleEngine/Controller/article_base_controller.h"
#include "ArticleEngine/Controller/article_clipboard_copy.h"
#include "ArticleEngine/Controller/article_edit_hit_tester.h"
#include "ArticleEngine/Controller/article_edit_position.h"
#include "ArticleEngine/Controller/article_edit_position_converter.h"
#include "ArticleEngine/Controller/edit_document.h"
#include "ArticleEngine/Controller/edit_navigation.h"
#include "ArticleEngine/Controller/edit_undo_history.h"
#include "ArticleEngine/External/widget.h"
#include "ArticleEngine/Loading/article_builder.h"
#include "ArticleEngine/Views/article_view.h"

#include <QColor>
#include <QString>

#include <map>
#include <optional>

namespace ArticleEngine::External {
class ICharAnalyzer;
class IStyleServer;
}

namespace ArticleEngine::Loading {
class TextMetricSource;
}

namespace ArticleEngine::Controller {

class ArticleEditController final
    : public ArticleBaseController<External::IWidget, ArticleEditPosition, ArticleEditPositionConverter> {
public:
    // Situations of the auto-style table.
    static constexpr int emptyArticleSituation = 0;
    static constexpr int secondParagraphSituation = 1;

    struct AutoStyle {
        int style = 0;
        int level = 0;
    };

    ArticleEditController();
    ~ArticleEditController() override;

    // The servers are not owned and must outlive the controller's use.
    void init(External::IStyleServer* styles, External::ICharAnalyzer* analyzer);
    bool isInitialised() const { return m_initialised; }
    // Layout measures with the toolkit's font metrics unless given a
    // source (tests); the source must outlive the controller.
    void setMetricSource(Loading::TextMetricSource* metrics) { m_metrics = metrics; }

    // Loads an article source (trimmed; an empty one is one empty run of
    // style 1) and starts a new undo history with it.
    void setSource(const QString& source);
    // The whole article as source; always true.
    bool source(QString& out) const;
    QString source() const { return m_document.source(); }
    // The source as read back right after setSource().
    const QString& loadedSource() const { return m_loadedSource; }
    bool isModified() const { return source() != m_loadedSource; }

    // Edit operations; each is one undo step.
    // The style buttons: styles the selection (nothing when it is empty).
    void applyStyle(int style);
    // "\n" or "\r" new paragraph, "\t" indent, code 8 backspace, else text.
    void typeChar(QChar c);
    // Typing and plain-text paste: line feeds start paragraphs of level 0,
    // tabs indent, control characters are dropped.
    void insertText(const QString& text);
    void newParagraph();
    void indent();
    void outdent();
    void backspace();
    void deleteForward();
    // The clipboard's article source when it has one, else its text.
    void paste();
    // Article source from the clipboard: every run inserted with its style
    // mapped through the receiving style server.
    void pasteSource(const QString& clipboardSource);
    void undo();
    void redo();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }

    void setAutoStyle(int situation, int style, int level) { m_autoStyles[situation] = {style, level}; }
    AutoStyle autoStyle(int situation) const;
    void setMaximumLevel(int level) { m_document.setMaximumLevel(level); }
    int maximumLevel() const { return m_document.maximumLevel(); }

    // The caret record. setCaret gives all five positions one place;
    // extendSelection moves the moving end (and the caret with it) and
    // orders anchor and moving end into the selection.
    void setCaret(const ArticleEditPosition& position, bool updateX, bool ensureVisible);
    void extendSelection(const ArticleEditPosition& position, bool updateX, bool ensureVisible);
    void selectAll();
    const ArticleEditPosition& caret() const { return m_caret; }
    const ArticleEditPosition& selectionStart() const { return m_selectionStart; }
    const ArticleEditPosition& selectionEnd() const { return m_selectionEnd; }
    const ArticleEditPosition& anchor() const { return m_anchor; }
    const ArticleEditPosition& movingEnd() const { return m_movingEnd; }
    bool hasSelection() const { return selectionEndOffset() > selectionStartOffset(); }
    int preferredX() const { return m_preferredX; }

    // The copy sources of the selection: plain text, source with its style
    // sheet (with the lead text when the selection starts at the
    // article's start) and HTML; all three for the clipboard.
    QString selectionText() const;
    QString selectionSource() const;
    QString selectionHtml() const;
    ClipboardForms clipboardForms() const;

    // For the copy builders and tests.
    const EditDocument& document() const { return m_document; }
    const ArticleContent& content() const { return m_document.content(); }
    const ArticleView& view() const { return m_view; }
    const Loading::ArticleLayoutRecord& layoutRecord() const { return m_record; }
    External::IStyleServer* styleServer() const { return m_styles; }
    External::ICharAnalyzer* charAnalyzer() const { return m_analyzer; }
    const EditUndoHistory& undoHistory() const { return m_history; }
    const ArticleEditScroll& scroll() const { return m_scroll; }
    EditNavigation navigation() const { return EditNavigation(m_view, m_record.tokens); }

    // Settings.
    QColor selectionColor{100, 200, 255, 100};
    QColor caretColor{255, 100, 0, 100};
    QColor highlightColor{255, 190, 0, 100};
    QColor backgroundColor{255, 255, 255, 255};
    bool caretBlinking = false;
    // While blinking, the caret shows in the on phase only.
    bool blinkPhase = true;
    int caretMarkStyle = 8;
    bool showCaret = true;
    bool showDebugOverlay = false;

    // The slots.
    int lineHeight() override;
    int visibleLines() override;
    void paint(const QRect& rect, QPainter* painter) override;
    void layout() override;
    void scrollBy(int pixels) override;
    void syncScrollBar() override;
    void syncFromScrollBar() override;
    void updateScrollLimit() override;
    void fixBottomGap() override;
    void clear() override;
    bool mouseEvent(QMouseEvent* event) override;
    bool keyEvent(QKeyEvent* event) override;
    bool scrollBarEvent(int value) override;

private:
    int selectionStartOffset() const { return offsetOf(m_selectionStart); }
    int selectionEndOffset() const { return offsetOf(m_selectionEnd); }
    int caretOffset() const { return offsetOf(m_caret); }
    // A position's body offset in [0, length - 1]; the article's start is 0.
    int offsetOf(const ArticleEditPosition& position) const;
    ArticleEditPosition bodyPosition(int offset) const;
    EditCaretState caretState() const;
    void applyCaretState(const EditCaretState& state);

    // The edit frame: begin stores the caret into the current snapshot;
    // end rebuilds, places the caret (keeping the record for nullopt),
    // asks for an update and pushes the new source.
    void beginEdit();
    void endEdit(std::optional<int> caret);
    // Builds the view from the document and lays it out; answers the
    // source it was built from.
    QString rebuild();
    // Deletes a non-empty selection; answers where the caret goes.
    int deleteSelection();
    // The word-deleting keys: selects from the caret to target and deletes
    // that, when it holds anything.
    void deleteTo(int target);
    // Insert text's steps at the caret, without the frame; answers the
    // offset after the inserted text.
    int insertAtCaret(QStringView text);
    void applyEmptyArticleStyle(int caret);
    // Not a special style: one that carries elements instead of text.
    bool isTextStyle(int style) const;
    // The style buttons' range: off a paragraph's line feed at the start,
    // over it at the end.
    std::pair<int, int> styleRange(int start, int end) const;
    void ensureCaretVisible();
    void restore(int index);
    void pageStep(bool down);
    QVector<QRect> selectionRects() const;
    ExportedArticle exported() const;

    External::IStyleServer* m_styles = nullptr;
    External::ICharAnalyzer* m_analyzer = nullptr;
    Loading::TextMetricSource* m_metrics = nullptr;
    bool m_initialised = false;

    EditDocument m_document;
    // Declared after the document it is built from; the hit tester points
    // at it.
    ArticleView m_view;
    Loading::ArticleLayoutRecord m_record;
    ArticleEditHitTester m_hitTester;
    EditUndoHistory m_history;
    QString m_loadedSource;
    std::map<int, AutoStyle> m_autoStyles;

    ArticleEditPosition m_caret;
    ArticleEditPosition m_selectionStart;
    ArticleEditPosition m_selectionEnd;
    ArticleEditPosition m_anchor;
    ArticleEditPosition m_movingEnd;
    int m_preferredX = 0;
    ArticleEditScroll m_scroll;
};

} // namespace ArticleEngine::Controller
