#ifndef WIDGETGALLERY_H
#define WIDGETGALLERY_H

#include <QMainWindow>

class QStyle;

// A fixed window of the widgets a style draws, in several states: push buttons (normal,
// default, checked, pressed, flat, disabled), check boxes and radio buttons, combo boxes,
// scroll bars, sliders with and without tick marks, tool buttons, group boxes, a progress bar,
// tabs and a dock widget. Its size does not change with the style, so every style renders the
// same area.
class WidgetGallery : public QMainWindow
{
    Q_OBJECT

public:
    explicit WidgetGallery(QWidget *parent = nullptr);

    // Puts the style on every widget of the tree and the style's own palette on the window,
    // then lets the layouts settle.
    void applyStyle(QStyle *style);

private:
    QWidget *createButtons();
    QWidget *createIndicators();
    QWidget *createInputs();
    QWidget *createTools();
    QWidget *createGroups();
    QWidget *createTabs();
    void createDock();
};

#endif // WIDGETGALLERY_H
