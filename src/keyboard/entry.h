#pragma once

#include <QString>

// The text typed so far into a number field, shared by all of them, and the name of the
// digit row it belongs to. Typing into another row discards it.
struct TypedNumber
{
    QString text;
    QString rowName;
};
extern TypedNumber EntryBuffer;
