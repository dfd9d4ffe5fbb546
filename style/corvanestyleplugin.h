#ifndef CORVANESTYLEPLUGIN_H
#define CORVANESTYLEPLUGIN_H

#include <QStylePlugin>

// The factory Qt's style factory finds through the metadata: it announces the
// keys "Corvane" and "Sextant" and also creates the unannounced "tidegauge".
class CorvaneStylePlugin : public QStylePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QStyleFactoryInterface" FILE "CorvaneStyle.json")

public:
    QStyle *create(const QString &key) override;
};

#endif // CORVANESTYLEPLUGIN_H
