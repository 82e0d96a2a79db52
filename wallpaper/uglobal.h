#pragma once

#include <QList>
#include <QString>

// One entry of the background picture list.
struct TPicBGList {
    int PicIndex = 0;
    QString PicName;
};

// State shared by the memo window, the picture list window and the
// confirmation box. Plain values on the user-interface thread.
namespace uGlobal {

extern QList<TPicBGList> PicList;
extern int PicCount;
extern bool AskBeforeSetBg;
extern int SetBgAnswer;
extern QString ConfigSetBgPath;

// Reads the question file at start: a missing file is created with the single
// line "1" (ask); a first line that is an integer asks when it is greater
// than 0; an empty file or a first line that is not an integer asks and the
// file is left as it is. Throws FileError when the file cannot be
// read or created.
bool readAskBeforeSetBg(const QString &path);

// Writes the answer "do not ask again" (the single line "0").
void writeDoNotAsk(const QString &path);

} // namespace uGlobal
