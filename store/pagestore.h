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

    // Replaces the stored text of `page` with the whole board. The first
    // failure of a run of failures shows "保存记事内容失败！"; a store that
    // opened read-only is left alone.
    void SaveAbcPage(int page, const QTextDocument &board);

    // The save before the board leaves `page` (a switch, closing the
    // program). Every failure is shown, and false tells the caller to keep
    // the board: its text is stored nowhere else.
    bool saveBeforeLeaving(int page, const QTextDocument &board);

    // The last save failed: the newest text of the page is only on the board.
    bool lastSaveFailed() const { return m_saveFailing; }

    // The board shows text that may be edited and stored: a page has loaded
    // and the store can be written.
    bool boardEditable() const;

private:
    enum class Reporting { FirstOfRun, Every };
    bool save(int page, const QTextDocument &board, Reporting reporting);
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
