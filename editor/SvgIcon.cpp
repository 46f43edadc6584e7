#include "SvgIcon.h"

#include <map>
#include <memory>
#include <tuple>
#include <utility>

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

namespace {

class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(QString path)
        : m_path(std::move(path))
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        painter->drawPixmap(rect, drawn);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const auto key = std::make_tuple(size.width(), size.height(), mode);
        const auto cached = m_pixmaps.find(key);
        if (cached != m_pixmaps.end())
            return cached->second;
        QPixmap drawn = Draw(size);
        // Disabled and selected icons look as the style makes them from the normal one.
        if (mode != QIcon::Normal && !drawn.isNull()) {
            QStyleOption option;
            option.palette = QApplication::palette();
            drawn = QApplication::style()->generatedIconPixmap(mode, drawn, &option);
        }
        Q_UNUSED(state);
        m_pixmaps.emplace(key, drawn);
        return drawn;
    }

    QIconEngine *clone() const override { return new SvgIconEngine(*this); }
    QString key() const override { return QStringLiteral("VEzazSvgIcon"); }
    bool isNull() override { return m_path.isEmpty(); }

private:
    // The picture at its own proportions, as large as fits, centred.
    QPixmap Draw(const QSize &size)
    {
        if (!m_renderer)
            m_renderer = std::make_shared<QSvgRenderer>(m_path);
        if (!m_renderer->isValid() || size.isEmpty())
            return QPixmap();
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QSizeF target = m_renderer->defaultSize();
        target.scale(size, Qt::KeepAspectRatio);
        const QRectF area(
            QPointF((size.width() - target.width()) / 2, (size.height() - target.height()) / 2),
            target);
        QPainter painter(&image);
        m_renderer->render(&painter, area);
        painter.end();
        return QPixmap::fromImage(std::move(image));
    }

    QString m_path;
    // Shared by the copies Qt makes of the icon, made on the first drawing.
    std::shared_ptr<QSvgRenderer> m_renderer;
    std::map<std::tuple<int, int, QIcon::Mode>, QPixmap> m_pixmaps;
};

} // namespace

QIcon SvgIcon(const QString &resourcePath)
{
    return QIcon(new SvgIconEngine(resourcePath));
}
