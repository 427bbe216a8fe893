#pragma once
// A status bar made of fixed-width text panels; other controls (a progress bar...) can be added
// beside them like on any QStatusBar.

#include <QLabel>
#include <QStatusBar>
#include <QVector>

class TStatusPanels : public QStatusBar {
    Q_OBJECT
public:
    TStatusPanels(const QVector<int>& widths, QWidget* parent = nullptr);
    int PanelCount() const { return panels_.size(); }
    QString Text(int panel) const;
    void SetText(int panel, const QString& text);
    QLabel* Panel(int panel) const { return panels_.value(panel); }

private:
    QVector<QLabel*> panels_;
};
