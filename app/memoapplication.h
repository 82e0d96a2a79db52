#pragma once

#include <memory>

class TDM;
class TMainFrm;

// The program's start-up order: the data module, then the memo window, each
// created once and kept to the end.
class MemoApplication {
public:
    MemoApplication();
    ~MemoApplication();

    // Opens the store and creates the memo window. When the store
    // cannot be opened the user is told so and false is returned: no window
    // is created and nothing is written.
    bool start();

    // The show step of the memo window.
    void show();

    // Restores the memo window when it is minimised and raises it above
    // the other windows (a second start of the program asks for it).
    void bringToFront();

    TDM *DM() const { return m_dm.get(); }
    TMainFrm *MainFrm() const { return m_mainFrm.get(); }

private:
    // Destroyed in reverse order: the windows before the data module.
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<TMainFrm> m_mainFrm;
};

// Sets the application's title and the Chinese fonts (after the
// application object exists), and lets writes past the process's file-size
// limit fail instead of ending the program.
void prepareApplication();
