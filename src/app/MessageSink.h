#pragma once
// Connects the engine's messages to message boxes over the active window.

class TUiDispatcher;

// Installs the sink; call once the QApplication exists. The dispatcher must outlive it.
void InstallMessageBoxSink(TUiDispatcher& dispatcher);
