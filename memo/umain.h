#pragma once

// State of the memo window's unit that several parts of the program read.
namespace uMain {

// True while a page loaded from the store is on the board and no load or
// save of the board is running.
extern bool ContentLoaded;

} // namespace uMain
