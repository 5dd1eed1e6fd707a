#pragma once

#include "learning/PictureList.h"
#include "widgets/Widgets.h"

class EnlargedSample;
class QLabel;
class QPushButton;
struct LearningPage;

// The learn panel: one page of the knowledge base, its sample picture at the
// left and its texts at the right, with the buttons to page on.
class LearnPanel final : public PageFrame
{
    Q_OBJECT

public:
    explicit LearnPanel(QWidget *parent = nullptr);

    void showPage(const LearningPage &page);
    QWidget *startingControl() const override;
    // The enlarged picture of the page's sample, once it has been opened.
    EnlargedSample *enlargedSample() const { return m_enlarged; }

signals:
    // "Back To &Main", "&Back" and "Ne&xt".
    void mainRequested();
    void backRequested();
    void nextRequested();

private:
    void enlargeSample();

    PictureList m_IMG;
    int m_picture = 0;
    QString m_variationName;
    ClickableLabel *m_picDesc = nullptr;
    EnlargedSample *m_enlarged = nullptr;
    QLabel *m_lblDescName = nullptr;
    QLabel *m_lblOption = nullptr;
    QLabel *m_lblDesc = nullptr;
    QPushButton *m_next = nullptr;
};
