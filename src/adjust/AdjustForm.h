#pragma once
// The shell the tonal dialogs share: Preview, Reset, OK and Cancel, the session over the
// document, the apply and the refusal to close while it runs. A tool's dialog builds its
// controls, says which of them go grey during the apply and hands over its parameters.

#include "adjust/AdjustSession.h"

#include <QDialog>

#include <memory>
#include <vector>

class QCheckBox;
class QLayout;
class QPushButton;

class TAdjustForm : public QDialog {
    Q_OBJECT
public:
    ~TAdjustForm() override;

    // The document of the next showing; hooks: repaint, progress, undo, display mode, re-fit.
    void SetDocument(TFImage* image, TUiDispatcher* dispatcher, const TAdjustHooks& hooks);

public slots:
    void done(int result) override; // refused while an apply runs

protected:
    explicit TAdjustForm(QWidget* parent);

    // A Reset button placed among the tool's controls; without one the button row gets it.
    QPushButton* MakeResetButton(QWidget* parent);
    // Preview, [Reset], stretch, OK, Cancel, wired to the handlers below.
    QLayout* MakeButtonRow();
    // Greyed together with OK and Cancel while an apply runs.
    void DisableWhileBusy(std::initializer_list<QWidget*> widgets);

    void showEvent(QShowEvent* event) override;
    // By default: open the session and preview.
    virtual void FormShow();
    // The session opened on the document; false when there is none or memory ran out.
    bool OpenSession();
    virtual void btnResetClick() = 0;
    virtual void UpdatePreview() = 0;

    virtual std::unique_ptr<TAdjustSession> CreateSession(TUiDispatcher& dispatcher,
                                                          TAdjustHost& host) = 0;
    // false when the apply could not start.
    virtual bool Apply() = 0;

    QPushButton* ResetButton() const { return btnReset_; }
    TFImage* Image() const { return image_; }
    TAdjustSession* BaseSession() const { return session_.get(); }
    bool PreviewChecked() const;

private:
    void btnOKClick();
    void EnableControls(bool enabled);

    TFImage* image_ = nullptr;
    TAdjustHooks hooks_;
    std::unique_ptr<TAdjustSession> session_;
    std::vector<QWidget*> busyDisabled_;
    QCheckBox* chkPreview_ = nullptr;
    QPushButton* btnReset_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

// The typed side: the tool's session and its parameters read from the controls.
template <class TSession> class TAdjustToolForm : public TAdjustForm {
public:
    using TParams = typename TSession::TParams;

    TSession* Session() const { return static_cast<TSession*>(BaseSession()); }
    virtual TParams Params() const = 0;

protected:
    TAdjustToolForm(const TAdjustProtocol& protocol, QWidget* parent)
        : TAdjustForm(parent), protocol_(protocol) {}

    std::unique_ptr<TAdjustSession> CreateSession(TUiDispatcher& dispatcher,
                                                  TAdjustHost& host) override {
        return std::make_unique<TSession>(protocol_, dispatcher, host);
    }
    void UpdatePreview() override {
        if (TSession* session = Session())
            session->UpdatePreview(Params(), PreviewChecked());
    }
    bool Apply() override { return Session()->Apply(Params()); }

private:
    const TAdjustProtocol& protocol_;
};
