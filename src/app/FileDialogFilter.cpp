#include "app/FileDialogFilter.h"

#include <QStringList>

QString QtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            continue;
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        if (patterns == QLatin1String("*.*"))
            patterns = QStringLiteral("*");
        // The description keeps its own "(*.bmp, *.dib)"; Qt reads the patterns from the last
        // parentheses, and the dialog is told to hide them.
        entries << parts[i] + " (" + patterns + ")";
    }
    if (entries.isEmpty())
        entries << QStringLiteral("All Files (*)");
    return entries.join(QStringLiteral(";;"));
}
