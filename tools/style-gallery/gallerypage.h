#ifndef GALLERYPAGE_H
#define GALLERYPAGE_H

#include <QWidget>

// One page with every widget the Corvane style draws, in the states that
// matter, laid out in captioned sections. Looks that need a mouse (hovered,
// pressed) are painted by direct style calls next to the real widgets.
// Build it after the style is set on the application, so the widgets are
// polished by it.
class GalleryPage : public QWidget
{
public:
    explicit GalleryPage(QWidget *parent = nullptr);

private:
    QWidget *pushButtons();
    QWidget *checkAndRadioButtons();
    QWidget *comboBoxes();
    QWidget *scrollBars();
    QWidget *sliders();
    QWidget *toolButtons();
    QWidget *groupBoxes();
    QWidget *dockWidgets();
    QWidget *splitters();
    QWidget *frames();
    QWidget *tabsAndProgress();
    QWidget *icons();
};

#endif // GALLERYPAGE_H
