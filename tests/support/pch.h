// Headers nearly every test includes, compiled once for all test programs.
#pragma once

#include "pch.h"

#include <QtTest>
