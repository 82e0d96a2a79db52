#pragma once

#include <QString>

#include <functional>
#include <optional>

class TDM;
class QByteArray;
class QTextDocument;

// Moves memo pages between the store and the board's document.
class PageStore {
public:
    // showMessage shows a plain message box with the given text.
    PageStore(TDM &dm, std::function<void(const QString &)> showMessage);

    // True while a page loaded from the store is on the board and no load or
    // save runs.
    bool ContentLoaded = false;

    // Replaces the whole board with the stored text of `page` (1..5 → tb_A..tb_E);
    // on failure shows "加载记事内容失败！", leaves the board as it was and
    // ContentLoaded false.
    void LoadAbcPage(int page, QTextDocument &board);

    // Replaces the stored text of `page` with the whole board.
    void SaveAbcPage(int page, const QTextDocument &board);

private:
    std::optional<QByteArray> readPage(const QString &table);
    bool writePage(const QString &table, const QByteArray &content);

    TDM &m_dm;
    std::function<void(const QString &)> m_showMessage;
    // The page whose last load failed: the board does not hold its text.
    std::optional<int> m_pageNotOnBoard;
    bool m_saveFailing = false;
};

inline constexpr const char *kLoadFailedMessage = "加载记事内容失败！";
inline constexpr const char *kSaveFailedMessage = "保存记事内容失败！";
