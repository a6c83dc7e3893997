// Message boxes on Qt widgets.
#pragma once

#include "platform/Dialogs.h"

class QWidget;

namespace orvel {

class WidgetDialogs : public Dialogs
{
public:
    explicit WidgetDialogs(QWidget *parent = nullptr);
    void message(const QString &text) override;
    bool question(const QString &text) override;
    QString fileToOpen(const QString &caption, const QString &folder,
                       const QString &filter) override;
    void setParent(QWidget *parent) { m_parent = parent; }

private:
    QWidget *m_parent;
};

// Loads Qt's own French translations so that standard buttons read "Oui", "Non", "OK".
void installFrenchTranslations();

} // namespace orvel
