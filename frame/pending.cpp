// TEMPORARY: definitions still being written elsewhere. Each one is deleted
// from here when its real implementation lands; this file goes when empty.
#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

// --- stylesheet
int vrex_stylesheet::count() { return styles.size(); }
bool vrex_stylesheet::load() { return false; }
bool vrex_stylesheet::reLoad() { return false; }
void vrex_stylesheet::getStyle(QString &, QWidget *) { }
void vrex_stylesheet::get(QString &, QWidget *) { }
styleentry *vrex_stylesheet::getStyleEntry(QString name) { return &styles[name]; }
void vrex_stylesheet::set(QString &, styleentry &) { }
const QMap<QString, styleentry> vrex_stylesheet::stylelist() { return styles; }
const QStringList vrex_stylesheet::settingslist(QString &) { return {}; }
bool vrex_stylesheet::styleExist(QString) { return false; }
bool vrex_stylesheet::save() { return false; }
void vrex_stylesheet::deleteStyle(QString) { }
