#include "ui/StatusPanels.h"

namespace {

// A panel keeps its width while there is room and gives way in a narrow window, so the status
// bar never sets the main window's minimum width.
class TStatusPanel : public QLabel {
public:
    TStatusPanel(int width, QWidget* parent) : QLabel(parent), width_(width) {
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    }
    QSize sizeHint() const override { return {width_, QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

private:
    int width_;
};

} // namespace

TStatusPanels::TStatusPanels(const QVector<int>& widths, QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    for (int i = 0; i < widths.size(); ++i) {
        auto* label = new TStatusPanel(widths[i], this);
        label->setObjectName(QStringLiteral("pnlStatus%1").arg(i));
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
