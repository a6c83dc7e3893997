#include "Mise_a_Jour.h"

#include <QScreen>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace orvel {

Mise_a_Jour::Mise_a_Jour(const QUrl &page, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , WebBrowser1(new QWebEngineView(this))
{
    setObjectName(QStringLiteral("Mise_a_Jour"));
    setWindowTitle(QStringLiteral("Site ") + siteAddress());
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser1);

    // A page laid out for a desktop screen, never larger than the screen it opens on.
    QSize size(1024, 720);
    if (const QScreen *screen = this->screen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    resize(size);

    WebBrowser1->setUrl(page);
}

} // namespace orvel
