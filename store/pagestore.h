#pragma once

#include <QString>

#include <functional>
#include <optional>

class TDM;
class QByteArray;
class QSqlError;
class QTextDocument;

// How the store tells the window what went wrong.
struct PageStoreReports {
    // A message box, for a page that could not be shown when the user asked for it.
    std::function<void(const QString &)> showMessage;
    // A line in the window that takes no input focus, for what goes wrong
    // while the user types: a box would take the next keys. An empty text
    // takes the line away.
    std::function<void(const QString &)> showNotice;
};

// Moves memo pages between the store and the board's document.
class PageStore {
public:
    PageStore(TDM &dm, PageStoreReports reports);

    // True while a page loaded from the store is on the board and no load or
    // save runs.
    bool contentLoaded() const { return m_contentLoaded; }

    // Replaces the whole board with the stored text of `page` (1..5 → tb_A..tb_E);
    // on failure shows "加载记事内容失败！", leaves the board as it was and
    // contentLoaded() false.
    void LoadAbcPage(int page, QTextDocument &board);

    // Replaces the stored text of `page` with the whole board. A failure is
    // shown in the notice line, with its reason, until a save succeeds; a
    // store that opened read-only is left alone.
    void SaveAbcPage(int page, const QTextDocument &board);

    // The save before the board leaves `page` (a switch, closing the
    // program). False tells the caller to keep the board: its text is
    // stored nowhere else.
    bool saveBeforeLeaving(int page, const QTextDocument &board);

    // The last save failed: the newest text of the page is only on the board.
    bool lastSaveFailed() const { return m_saveFailing; }

    // The board shows text that may be edited and stored: a page has loaded
    // and the store can be written.
    bool boardEditable() const;

    // Another program replaced the store: it was opened again, and the
    // board must show the current page from it (the next load does).
    bool storeReopened() const { return m_storeReopened; }

private:
    enum class Notice { None, SaveFailed, StoreReplaced, StoreLost };

    bool save(int page, const QTextDocument &board);
    bool writeBoard(int page, const QTextDocument &board);
    // Before a write: whether the store's path still names the file the
    // connection writes, and what to do when it does not. False when the
    // board must not be written now.
    bool followStoreFile(int page);
    void notify(Notice notice, const QString &text = QString());
    std::optional<QByteArray> readPage(const QString &table);
    // Empty when the page was written, else why not, for the user.
    QString writePage(const QString &table, const QByteArray &content);

    TDM &m_dm;
    PageStoreReports m_reports;
    // The page whose last load failed: the board does not hold its text.
    std::optional<int> m_pageNotOnBoard;
    bool m_saveFailing = false;
    bool m_contentLoaded = false;
    bool m_storeReopened = false;
    // The store's file was deleted or replaced by one that is no store:
    // the board's text is kept until a store is back at the path.
    bool m_storeLost = false;
    Notice m_notice = Notice::None;
};

// Why the store refused a statement, in words for the user.
QString storeFailureReason(const QSqlError &error);

inline constexpr const char *kLoadFailedMessage = "加载记事内容失败！";
inline constexpr const char *kSaveFailedMessage = "保存记事内容失败！";
// The notice lines when another program replaced or removed the store; %1 is its path.
inline constexpr const char *kStoreReplacedNotice = "记事库已被其他程序替换，已重新读取。";
inline constexpr const char *kStoreLostNotice =
    "记事库 %1 已被删除或移走，窗口中的记事没有保存，现在只能查看。"
    "把记事库放回 %1 后，切换位置或关闭窗口时记事就保存到那里。";
// The notice line while saves fail; %1 is the reason.
inline constexpr const char *kSaveFailedNotice = "保存记事内容失败！%1。记事还在窗口中，保存成功之前不能切换位置或关闭。";
