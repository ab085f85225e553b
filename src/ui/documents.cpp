#include "ui/documents.h"

#include "ui/message_warnings.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace korvel {

QString documentPath(const QString& programFolder, const QString& fileName) {
    return QDir(programFolder).filePath(QLatin1String(documentationFolder) + QLatin1Char('/') + fileName);
}

QString openDocumentWith(const QString& path, const std::function<bool(const QUrl&)>& open) {
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) return QStringLiteral("can't find file - ") + shown;
    if (!open || !open(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())))
        return QStringLiteral("can't open file - ") + shown +
               QStringLiteral("\nNo program to show PDF documents was found on this computer.");
    return {};
}

bool openDocument(QWidget* owner, const QString& programFolder, const QString& fileName) {
    const QString problem = openDocumentWith(documentPath(programFolder, fileName),
                                             [](const QUrl& url) { return QDesktopServices::openUrl(url); });
    if (problem.isEmpty()) return true;
    MessageBoxMessages(owner).warning(problem.toStdString());
    return false;
}

} // namespace korvel
