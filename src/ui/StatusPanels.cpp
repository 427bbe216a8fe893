#include "ui/StatusPanels.h"

TStatusPanels::TStatusPanels(const QVector<int>& widths, QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    for (int i = 0; i < widths.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("pnlStatus%1").arg(i));
        label->setFixedWidth(widths[i]);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setContentsMargins(3, 0, 3, 0);
        addWidget(label);
        panels_.push_back(label);
    }
}

QString TStatusPanels::Text(int panel) const {
    const QLabel* label = panels_.value(panel);
    return label ? label->text() : QString();
}

void TStatusPanels::SetText(int panel, const QString& text) {
    if (QLabel* label = panels_.value(panel))
        label->setText(text);
}
