// Headers nearly every file of the program includes, compiled once per build.
#pragma once

#include <QtCore>
#include <QtGui>
#include <QtWidgets>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>
