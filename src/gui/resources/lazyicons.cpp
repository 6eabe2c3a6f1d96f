// Icons of PNG files that are read when they are first drawn, not when they are made.
//
// The toolkit reads and decodes an icon's picture as soon as the icon is made; the
// forms make some hundred icons for actions, buttons and menus, most of which are not
// on screen when the window first appears (menus, dialogs, tabs behind others). This
// icon engine, registered for the "png" suffix, keeps only the file names and hands
// everything to an ordinary icon made from them on first use, so the pictures are read
// when something asks for them.
#define QT_STATICPLUGIN

#include "gui/resources/resources.h"

#include <QFile>
#include <QIcon>
#include <QIconEngine>
#include <QIconEnginePlugin>
#include <QPixmap>
#include <QtPlugin>

#include <utility>

namespace veltrix {

class LazyPngIconEngine : public QIconEngine
{
public:
    LazyPngIconEngine() = default;
    LazyPngIconEngine(const LazyPngIconEngine &other) = default;

    void addFile(const QString &fileName, const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        Q_UNUSED(size)
        if (fileName.isEmpty())
            return;
        // create() records the file already; should the toolkit hand the same file over
        // once more, the picture still counts once.
        for (const File &file : std::as_const(m_files)) {
            if (file.name == fileName && file.mode == mode && file.state == state)
                return;
        }
        m_files.append({fileName, mode, state});
    }

    void addPixmap(const QPixmap &pixmap, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().addPixmap(pixmap, mode, state);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().pixmap(size, mode, state);
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().actualSize(size, mode, state);
    }

    QString key() const override { return QStringLiteral("veltrix-lazy-png"); }
    QIconEngine *clone() const override { return new LazyPngIconEngine(*this); }

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().availableSizes(mode, state);
    }
    bool isNull() override { return nothingToRead(); }
#else
    void virtual_hook(int id, void *data) override
    {
        switch (id) {
        case AvailableSizesHook: {
            auto &argument = *static_cast<AvailableSizesArgument *>(data);
            argument.sizes = loaded().availableSizes(argument.mode, argument.state);
            return;
        }
        case IsNullHook:
            *static_cast<bool *>(data) = nothingToRead();
            return;
        default:
            QIconEngine::virtual_hook(id, data);
        }
    }
#endif

private:
    struct File
    {
        QString name;
        QIcon::Mode mode;
        QIcon::State state;
    };

    // Null as the toolkit's own icon would be: no picture read and no file waiting that
    // exists. Whether a file exists is known without reading it.
    bool nothingToRead() const
    {
        for (const File &file : m_files) {
            if (QFile::exists(file.name))
                return false;
        }
        return m_icon.isNull();
    }

    // The icon made from the pictures read so far, after reading those of the files still
    // waiting. The toolkit has added the file drawn for the screen's pixel ratio
    // ("name@2x.png") itself where there is one. Made from pictures, not files, so that
    // the toolkit does not ask this engine again.
    QIcon &loaded()
    {
        for (const File &file : std::as_const(m_files)) {
            const QPixmap picture(file.name);
            if (!picture.isNull())
                m_icon.addPixmap(picture, file.mode, file.state);
        }
        m_files.clear();
        return m_icon;
    }

    QList<File> m_files;  // given, not yet read
    QIcon m_icon;
};

// Referred to by initResources(), so that this file, and with it the registration
// below, is part of every program that shows the forms.
bool lazyPngIconsRegistered()
{
    return true;
}

}  // namespace veltrix

// The toolkit asks its icon engine plugins by file suffix; this one answers for "png".
class VeltrixLazyPngIconPlugin : public QIconEnginePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QIconEngineFactoryInterface_iid FILE "lazyicons.json")

public:
    QIconEngine *create(const QString &fileName) override
    {
        auto *engine = new veltrix::LazyPngIconEngine;
        if (!fileName.isEmpty())
            engine->addFile(fileName, QSize(), QIcon::Normal, QIcon::Off);
        return engine;
    }
};

Q_IMPORT_PLUGIN(VeltrixLazyPngIconPlugin)

#include "lazyicons.moc"
