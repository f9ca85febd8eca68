// Precompiled for every Qt target: the widget headers dominate compile time.
#pragma once
#include <QtCore>
#include <QtGui>
#include <QtWidgets>
