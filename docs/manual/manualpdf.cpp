// Builds a user manual as PDF from its Markdown source, with the toolkit's own Markdown
// reader and PDF writer; run by the build (with QT_QPA_PLATFORM=offscreen, so that no
// display is needed).
//
//   manualpdf SOURCE.md OUTPUT.pdf LANGUAGE TITLE
//
// Images are found relative to the source and scaled to the width of the text. A
// Chinese manual needs a font with Chinese characters (fonts-noto-cjk); without one the
// build stops here instead of writing a manual of empty boxes.
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <cstdio>

namespace {

// Width of the text on an A4 page with the 2 cm margins the toolkit prints with, in
// the document's units (pixels at 96 per inch).
constexpr qreal TextWidth = 640;
constexpr qreal BodyPointSize = 10;

int fail(const QString &text)
{
    std::fprintf(stderr, "manualpdf: %s\n", qPrintable(text));
    return 1;
}

QStringList fontFamilies(const QString &language)
{
    QStringList families;
    if (language.startsWith(QLatin1String("zh")))
        families << QStringLiteral("Noto Sans CJK SC") << QStringLiteral("Noto Sans SC");
    families << QStringLiteral("DejaVu Sans") << QStringLiteral("Noto Sans");
    return families;
}

// An image of the document as its resource holds it: the bytes of a local file, or an
// image already made.
QImage imageOf(QTextDocument &document, const QString &name)
{
    const QVariant data = document.resource(QTextDocument::ImageResource, QUrl(name));
    if (data.canConvert<QImage>() && !data.value<QImage>().isNull())
        return data.value<QImage>();
    return QImage::fromData(data.toByteArray());
}

bool haveChineseFont()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty();
#else
    return !QFontDatabase().families(QFontDatabase::SimplifiedChinese).isEmpty();
#endif
}

// Every image no wider than the text, its proportions kept.
void fitImages(QTextDocument &document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage image = imageOf(document, format.name());
            if (image.isNull())
                continue;
            // Printing works on a copy of the document, which knows neither the base
            // folder nor the images loaded: the image goes by its absolute name, and
            // the copy loads it again from there.
            const QString absolute = document.baseUrl().resolved(QUrl(format.name())).toString();
            format.setName(absolute);
            document.addResource(QTextDocument::ImageResource, QUrl(absolute), image);
            if (image.width() > TextWidth) {
                format.setWidth(TextWidth);
                format.setHeight(TextWidth * image.height() / image.width());
            }
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

// True when every image the document names could be read.
bool imagesFound(QTextDocument &document, QStringList *missing)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            if (imageOf(document, name).isNull())
                missing->append(name);
        }
    }
    return missing->isEmpty();
}

}  // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 5)
        return fail(QStringLiteral("usage: manualpdf SOURCE.md OUTPUT.pdf LANGUAGE TITLE"));
    const QString source = arguments.at(1);
    const QString output = arguments.at(2);
    const QString language = arguments.at(3);

    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(source, file.errorString()));
    const QString markdown = QString::fromUtf8(file.readAll());

    if (language.startsWith(QLatin1String("zh")) && !haveChineseFont())
        return fail(QStringLiteral("no font with Chinese characters is installed "
                                   "(Debian: fonts-noto-cjk)"));

    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(source).absolutePath() + QLatin1Char('/')));
    QFont font;
    font.setFamilies(fontFamilies(language));
    font.setPointSizeF(BodyPointSize);
    document.setDefaultFont(font);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    QStringList missing;
    if (!imagesFound(document, &missing))
        return fail(QStringLiteral("%1 names images that cannot be read: %2")
                        .arg(source, missing.join(QStringLiteral(", "))));
    fitImages(document);

    QPdfWriter writer(output);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(arguments.at(4));
    writer.setCreator(QStringLiteral("veltrix"));
    document.print(&writer);
    if (!QFileInfo(output).isFile() || QFileInfo(output).size() == 0)
        return fail(QStringLiteral("%1 was not written").arg(output));
    return 0;
}
