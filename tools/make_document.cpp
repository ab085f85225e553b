// korvel_make_document: composes one PDF document of the Help menu from HTML sources.
//
//   korvel_make_document [--css FILE] OUTPUT.pdf INPUT.html [INPUT.html ...]
//
// The bodies of the inputs follow one another, each starting on a new page; the title of the
// first input becomes the document title. Links between help pages mean nothing on paper, so
// they are reduced to their text, and the help pages' navigation line is dropped. Runs without
// a display (the offscreen platform is chosen unless another is set).

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStringList>
#include <QTextDocument>

#include <cstdio>

namespace {

QString readText(const QString& path, bool& ok) {
    QFile file(path);
    ok = file.open(QIODevice::ReadOnly);
    return ok ? QString::fromUtf8(file.readAll()) : QString();
}

QString firstMatch(const QString& html, const QString& pattern) {
    const QRegularExpression re(pattern, QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = re.match(html);
    return m.hasMatch() ? m.captured(1) : QString();
}

// The printable part of a page: its body without the navigation line and with links as text.
QString printableBody(const QString& html) {
    QString body = firstMatch(html, QStringLiteral("<body[^>]*>(.*)</body>"));
    if (body.isEmpty()) body = html;
    static const QRegularExpression nav(QStringLiteral("<p class=\"nav\">.*?</p>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression link(QStringLiteral("<a\\s+href=\"[^\"]*\"[^>]*>(.*?)</a>"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    body.remove(nav);
    body.replace(link, QStringLiteral("\\1"));
    return body;
}

int usage() {
    std::fputs("Usage: korvel_make_document [--css FILE] OUTPUT.pdf INPUT.html [INPUT.html ...]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QStringList args = QCoreApplication::arguments().mid(1);
    QString css;
    if (args.size() >= 2 && args.front() == QLatin1String("--css")) {
        bool ok = false;
        css = readText(args.at(1), ok);
        if (!ok) {
            std::fprintf(stderr, "korvel_make_document: can't read %s\n", qPrintable(args.at(1)));
            return 1;
        }
        args = args.mid(2);
    }
    if (args.size() < 2) return usage();
    const QString output = args.front();

    QString title;
    QString html = QStringLiteral("<html><body>");
    for (int i = 1; i < args.size(); ++i) {
        bool ok = false;
        const QString page = readText(args.at(i), ok);
        if (!ok) {
            std::fprintf(stderr, "korvel_make_document: can't read %s\n", qPrintable(args.at(i)));
            return 1;
        }
        if (title.isEmpty()) title = firstMatch(page, QStringLiteral("<title>(.*?)</title>")).trimmed();
        if (i > 1) html += QStringLiteral("<div style=\"page-break-before: always\"></div>");
        html += printableBody(page);
    }
    html += QStringLiteral("</body></html>");

    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setDefaultStyleSheet(css);
    document.setHtml(html);

    QPdfWriter pdf(output);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("KORVEL"));
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                  QPageLayout::Millimeter));
    document.print(&pdf);

    if (!QFileInfo(output).isFile() || QFileInfo(output).size() == 0) {
        std::fprintf(stderr, "korvel_make_document: can't write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
