#pragma once
// The application's style: the platform's own, except that the toolbar and
// menu bar overflow arrows are read from their files the first time they
// are drawn or measured, not when they are asked for.
//
// Every menu bar asks for its overflow arrow when it is made, and reading
// that PNG makes Qt load each image-format plugin (GIF, ICO, JPEG...) to ask
// whether it reads PNG: milliseconds of start-up, before the first frame,
// for an arrow that only shows when the menus do not fit the window.

#include <QProxyStyle>

class LazyIconStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Over `base` (owned), or the platform's own style (or the one asked for
    // with -style) when it is null.
    explicit LazyIconStyle(QStyle *base = nullptr);

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
