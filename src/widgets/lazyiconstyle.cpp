#include "widgets/lazyiconstyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>
#include <QStyleOption>

#include <optional>

namespace {

// Stands for a standard icon of `style` and makes it the first time
// anything is asked of it but whether it exists.
class LazyStandardIconEngine : public QIconEngine
{
public:
    LazyStandardIconEngine(const QStyle *style, QStyle::StandardPixmap which, Qt::LayoutDirection direction)
        : m_style(const_cast<QStyle *>(style)), m_which(which), m_direction(direction)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

    // Answered without reading the file: the standard icons all exist.
    bool isNull() override { return m_style.isNull(); }

    QString key() const override { return QStringLiteral("LazyStandardIconEngine"); }

    QIconEngine *clone() const override { return new LazyStandardIconEngine(*this); }

private:
    const QIcon &icon()
    {
        if (!m_icon) {
            m_icon.emplace();
            if (m_style) {
                QStyleOption option;
                option.direction = m_direction;
                *m_icon = m_style->standardIcon(m_which, &option);
            }
        }
        return *m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    Qt::LayoutDirection m_direction;
    std::optional<QIcon> m_icon;
};

} // namespace

LazyIconStyle::LazyIconStyle(QStyle *base) : QProxyStyle(base) {}

QIcon LazyIconStyle::standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const
{
    if (which != SP_ToolBarHorizontalExtensionButton && which != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(which, option, widget);
    const Qt::LayoutDirection direction = option   ? option->direction
                                          : widget ? widget->layoutDirection()
                                                   : QGuiApplication::layoutDirection();
    return QIcon(new LazyStandardIconEngine(baseStyle(), which, direction));
}
