#pragma once

// The documents of the Help menu: three PDF files in the folder "Documentation" below the program
// folder, opened with the desktop's own viewer.

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace korvel {

inline constexpr const char* documentationFolder = "Documentation";
inline constexpr const char* updateInformationDocument = "KORVEL Update Information.pdf";
inline constexpr const char* theoryManualDocument = "KORVEL Theory Manual.pdf";
inline constexpr const char* databaseFileDocument = "KORVEL Database File.pdf";

// programFolder/Documentation/fileName.
QString documentPath(const QString& programFolder, const QString& fileName);

// Hands the document to `open` (the desktop viewer); the problem the user is told, or an empty
// text when the viewer took it: "can't find file - " + path for a missing document, "can't open
// file - " + path when no viewer took it.
QString openDocumentWith(const QString& path, const std::function<bool(const QUrl&)>& open);

// "Update Information", "Theory Manual", "Database File": opens the document with the desktop's
// viewer; a missing document or viewer is reported in a message box. True when it opened.
bool openDocument(QWidget* owner, const QString& programFolder, const QString& fileName);

} // namespace korvel
