// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <map>

// The text of the settings file: the INI format of Qt's QSettings, which wrote the files of
// earlier versions, for text values. Keys are "Section/Key"; a key of [General] has no
// section part.
namespace ini {

using Values = std::map<QString, QString>;

// Every key and value of a file, as QSettings reads them once it has read every section:
// escapes, quotes, "@@", percent-encoded names, a later key over an earlier one, and a value
// with unquoted commas (a list) as its items joined with ", ". A key whose value QSettings
// reads as no value at all ("@Invalid()") is not there, nor one that QSettings decodes from
// binary data ("@Variant(...)", "@DateTime(...)"), which are not read.
Values parse(QByteArrayView bytes);

// A file that parse() and QSettings both read as exactly these values.
QByteArray write(const Values& values);

} // namespace ini
