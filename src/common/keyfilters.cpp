#include "keyfilters.h"


QChar filterTextKey(QChar key)
{
    if (key == QChar(8))
        return key;
    if (key.category() == QChar::Other_Control)
        return QChar();
    return key;
}

QString withoutControlCharacters(const QString& text)
{
    QString out;
    for (QChar c : text)
        if (c.category() != QChar::Other_Control)
            out += c;
    return out;
}

QChar filterDigitKey(QChar key)
{
    if (key == QChar(8) || (key >= u'0' && key <= u'9'))
        return key;
    return QChar();
}

QChar filterDecimalKey(QChar key, const QString& textSoFar, int cursorPosition)
{
    if (key == QChar(8) || (key >= u'0' && key <= u'9'))
        return key;
    // No grouping among the decimals, and one comma.
    if (key == u'.' || key == u',')
        return textSoFar.contains(u',') ? QChar() : key;
    if (key == u'-')
        return (cursorPosition == 0 && !textSoFar.contains(u'-')) ? key : QChar();
    return QChar();
}
