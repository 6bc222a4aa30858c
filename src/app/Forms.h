#pragma once

// Creates the main window and the dialogs once, in the order fMain, fFilter, fSetup, fAbout,
// fPassword, fView, fExport, fFinance, and stores them in the program-wide pointers.
void CreateForms();
// Destroys them in reverse order and clears the pointers (tests start every case afresh).
void DestroyForms();
