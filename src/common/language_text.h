#pragma once
// The text of the chosen language: Afrikaans when g_language is set,
// English otherwise. Every text that comes in both languages is chosen
// here.

#include <QString>
#include <QStringView>

namespace km {

QString in_language(QStringView afrikaans, QStringView english);

}  // namespace km
