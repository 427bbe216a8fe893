#include "app/CustomZoomForm.h"

#include "ui/DialogFont.h"
#include "ui/SpinEdit.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCustomZoom::TfrmCustomZoom(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCustomZoom"));
    setWindowTitle(QStringLiteral("Custom Zoom"));
    setProperty("HelpContext", 5);
    ApplyDialogFont(this);

    auto* label = new QLabel(QStringLiteral("Zoom"), this);
    edtZoom_ = new TSpinEdit(this);
    edtZoom_->setObjectName(QStringLiteral("edtZoom"));
    edtZoom_->setRange(1, 2400);
    edtZoom_->setSingleStep(1);
    edtZoom_->setDecimals(2);
    edtZoom_->setValue(100);
    label->setBuddy(edtZoom_);
    auto* percent = new QLabel(QStringLiteral("%"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edtZoom_, 1);
    row->addWidget(percent);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter in the field confirms the dialog, as in any other field of it.
    connect(edtZoom_, &TSpinEdit::EnterPressed, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

double TfrmCustomZoom::Percent() const {
    return edtZoom_->value();
}
