#pragma once

#include "shell/WebLinks.h"

#include <QDialog>

class ClickableLabel;
class QLabel;
class QPushButton;
class Platform;

// The About box: name, version, a short description and two links to the
// maker's web site on a black ground.
class AboutBox final : public QDialog
{
    Q_OBJECT

public:
    // `owner` only keeps the box out of the task bar; it still opens centred
    // on the screen.
    explicit AboutBox(Platform &platform, QWidget *owner = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildTexts();
    // The white line and the OK button below it.
    void buildButtonRow();
    // A link to a page of the maker's site that ends at the box's right margin.
    ClickableLabel *addLink(
        const QString &name, const QString &text, const QRect &designed, const QString &pageKey);

    WebLinks m_links;
    QPushButton *m_cmdOK = nullptr;
};

// Shows a fresh About box modally and returns when it is closed.
void showAboutBox(Platform &platform, QWidget *owner = nullptr);
