#include "adjust/AdjustForm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>

TAdjustForm::TAdjustForm(QWidget* parent) : QDialog(parent) {}

TAdjustForm::~TAdjustForm() = default;

QPushButton* TAdjustForm::MakeResetButton(QWidget* parent) {
    btnReset_ = new QPushButton("Reset", parent);
    btnReset_->setObjectName("btnReset");
    connect(btnReset_, &QPushButton::clicked, this, &TAdjustForm::btnResetClick);
    return btnReset_;
}

QLayout* TAdjustForm::MakeButtonRow() {
    chkPreview_ = new QCheckBox("Preview", this);
    chkPreview_->setObjectName("chkPreview");
    chkPreview_->setChecked(true);
    QPushButton* reset = btnReset_ ? nullptr : MakeResetButton(this);
    btnOK_ = new QPushButton("OK", this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setDefault(true);
    btnCancel_ = new QPushButton("Cancel", this);
    btnCancel_->setObjectName("btnCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkPreview_);
    if (reset)
        buttons->addWidget(reset);
    buttons->addStretch(1);
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnCancel_);

    connect(chkPreview_, &QCheckBox::clicked, this, &TAdjustForm::UpdatePreview);
    connect(btnOK_, &QPushButton::clicked, this, &TAdjustForm::btnOKClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    return buttons;
}

void TAdjustForm::DisableWhileBusy(std::initializer_list<QWidget*> widgets) {
    busyDisabled_.insert(busyDisabled_.end(), widgets);
}

void TAdjustForm::SetDocument(TFImage* image, TUiDispatcher* dispatcher,
                              const TAdjustHooks& hooks) {
    image_ = image;
    hooks_ = hooks;
    hooks_.Ok = [this] { accept(); };
    session_.reset();
    if (dispatcher)
        session_ = CreateSession(*dispatcher, hooks_);
}

bool TAdjustForm::PreviewChecked() const {
    return chkPreview_->isChecked();
}

void TAdjustForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TAdjustForm::FormShow() {
    if (OpenSession())
        UpdatePreview();
}

bool TAdjustForm::OpenSession() {
    return session_ && image_ && session_->Open(*image_);
}

void TAdjustForm::EnableControls(bool enabled) {
    btnOK_->setEnabled(enabled);
    btnCancel_->setEnabled(enabled);
    for (QWidget* widget : busyDisabled_)
        widget->setEnabled(enabled);
}

void TAdjustForm::btnOKClick() {
    if (!session_ || !session_->IsOpen()) {
        reject();
        return;
    }
    EnableControls(false);
    if (!Apply())
        EnableControls(true);
}

void TAdjustForm::done(int result) {
    if (session_ && !session_->CanClose())
        return;
    if (session_)
        session_->Close(result == QDialog::Accepted);
    EnableControls(true);
    QDialog::done(result);
}
