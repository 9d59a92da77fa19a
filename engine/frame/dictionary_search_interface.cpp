// dictionary_search_interface.cpp: the exported exact search and the choice
// of word list.
#include "frame/dictionary_record.h"
#include "lexvane_engine.h"

extern "C" {

int DicSearch(DictionaryRecord* dic, const char16_t* word, std::int32_t, std::int32_t* index)
{
    if (!dic)
        return LV_NULL_HANDLE;
    if (!word || !index)
        return LV_NULL_ARGUMENT;
    if (!dic->state || !dic->ops || !dic->ops->findWord || !dic->ops->currentIndex)
        return LV_BAD_ARGUMENT;
    if (*word == 0) {
        *index = 0;
        return LV_OK;
    }
    const int status = dic->ops->findWord(*dic, word);
    *index = dic->ops->currentIndex(*dic);
    // Not finding the word is no failure: the list stands where it reached.
    return status == LV_OUT_OF_RANGE ? LV_OK : status;
}

int DicDoFilter(DictionaryRecord* dic, const char16_t* text)
{
    if (!dic)
        return LV_NULL_HANDLE;
    if (!dic->state || !dic->ops || !dic->ops->chooseWordList)
        return 0;
    return dic->ops->chooseWordList(*dic, text);
}

} // extern "C"
