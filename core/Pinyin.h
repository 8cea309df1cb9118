#pragma once
#include <QString>

// Upper-case pinyin initials, one per Chinese character; ASCII letters and digits pass through
// (upper-cased), other characters with a Latin reading give their first letter, the rest is dropped.
// "张三丰" → "ZSF", "ABC公司" → "ABCGS".
QString PinyinInitials(const QString& name);
