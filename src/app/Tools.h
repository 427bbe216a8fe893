#pragma once
// Hooks every tool dialog into its action of the main window.

class TfrmMain;

void RegisterTools(TfrmMain& main);
