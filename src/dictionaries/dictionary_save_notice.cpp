#include "dictionaries/dictionary_save_notice.h"

DictionarySaveNotice &DictionarySaveNotice::instance()
{
    static DictionarySaveNotice notice;
    return notice;
}
