#pragma once
// Word that a dictionary file was saved, for whoever holds dictionaries in
// memory (a recording that is running reads them again).

#include <QObject>

class DictionarySaveNotice : public QObject
{
    Q_OBJECT
public:
    static DictionarySaveNotice &instance();

signals:
    void saved();
};
