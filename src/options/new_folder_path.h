#pragma once
// The folder picker's "Создать каталог" without the window.

#include <QString>

// The folder a new sub-folder `name` of `parent` gets, with doubled
// separators collapsed; empty when the name is empty.
QString newFolderPath(const QString &parent, const QString &name);
