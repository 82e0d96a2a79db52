#pragma once

#include <memory>

class TDM;
class TMainFrm;
class TDeskBGSetFrm;
class TPicSelFrm;
class TInforFrm;
class TMixPicFrm;

// The program's start-up order: the data module, then the memo window and
// the composer's windows and holders, each created once and kept to the end.
class MemoApplication {
public:
    MemoApplication();
    ~MemoApplication();

    // Opens the store and creates the windows in order. When the store
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
    TDeskBGSetFrm *DeskBGSetFrm() const { return m_deskBGSetFrm.get(); }
    TPicSelFrm *PicSelFrm() const { return m_picSelFrm.get(); }
    TInforFrm *InforFrm() const { return m_inforFrm.get(); }
    TMixPicFrm *MixPicFrm() const { return m_mixPicFrm.get(); }

private:
    // Destroyed in reverse order: the windows before the data module.
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<TMainFrm> m_mainFrm;
    std::unique_ptr<TDeskBGSetFrm> m_deskBGSetFrm;
    std::unique_ptr<TPicSelFrm> m_picSelFrm;
    std::unique_ptr<TInforFrm> m_inforFrm;
    std::unique_ptr<TMixPicFrm> m_mixPicFrm;
};

// Sets the application's title and the Chinese fonts (after the
// application object exists), and lets writes past the process's file-size
// limit fail instead of ending the program.
void prepareApplication();
