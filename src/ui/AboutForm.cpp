#include "ui/AboutForm.h"

#include "ui/DialogFont.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString VersionText() {
    return QStringLiteral("Ver: %1.%2.%3.%4")
        .arg(ZELVANE_VERSION_MAJOR)
        .arg(ZELVANE_VERSION_MINOR)
        .arg(ZELVANE_VERSION_PATCH)
        .arg(ZELVANE_VERSION_TWEAK);
}

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Zelvane Image"));
    ApplyDialogFont(this);

    auto* icon = new QLabel(this);
    icon->setPixmap((parent ? parent->windowIcon() : QApplication::windowIcon()).pixmap(64, 64));
    auto* title = new QLabel(QStringLiteral("Zelvane Image 3.0XE"), this);
    title->setObjectName(QStringLiteral("lblProduct"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* copyright = new QLabel(QStringLiteral("Nortane Systems"), this);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addWidget(copyright);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
