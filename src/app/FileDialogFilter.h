#pragma once
// The file-type tables write filters as "Description|*.a;*.b|" pairs; Qt's dialogs want
// "Description (*.a *.b)" entries joined by ";;".

#include <QString>

#include <string>

QString QtFileFilter(const std::string& filter);
