#pragma once
// Help: the HTML manual beside the program (or in the source tree during development), opened in
// the desktop's browser at its contents or at the page of a window's context number. A window
// carries its number in the dynamic property "HelpContext"; F1 inside it opens that page.

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

// Folder holding index.html; empty when no manual is found.
QString HelpFolder();
// Page for a context number; the contents for 0 and unknown numbers.
QUrl HelpUrl(int context = 0);
bool ShowHelpContents();
bool ShowHelpContext(int context);

// Replaces what opens a URL (the desktop's browser); tests record instead. Returns the old one.
using THelpOpener = std::function<bool(const QUrl&)>;
THelpOpener SetHelpOpener(THelpOpener opener);

// Application-wide event filter that answers F1 in a window with a help context.
class THelpHook : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
