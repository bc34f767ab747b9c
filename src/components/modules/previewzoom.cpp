#include "previewzoom.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

void useItalianZoom(QPrintPreviewDialog* preview)
{
    auto* view = preview->findChild<QPrintPreviewWidget*>();
    auto* zoom = preview->findChild<QComboBox*>();
    if (!view || !zoom || !zoom->lineEdit())
        return;
    const auto percent = [](double factor) { return QLocale().toString(factor * 100, 'f', 1) + u'%'; };
    for (int i = 0; i < zoom->count(); ++i)
        zoom->setItemText(i, QString(zoom->itemText(i)).replace(u'.', QLocale().decimalPoint()));
    // Qt writes its own text first; this one replaces it.
    QObject::connect(view, &QPrintPreviewWidget::previewChanged, zoom,
                     [=] { zoom->lineEdit()->setText(percent(view->zoomFactor())); });
    const auto apply = [=] {
        QString text = zoom->currentText();
        text.remove(u'%');
        bool ok = false;
        const double typed = QLocale().toDouble(text.trimmed(), &ok);
        if (ok && typed >= 1 && typed <= 1000)
            view->setZoomFactor(typed / 100);
        zoom->lineEdit()->setText(percent(view->zoomFactor()));  // shown back with its sign
    };
    QObject::connect(zoom->lineEdit(), &QLineEdit::editingFinished, zoom, apply);
    QObject::connect(zoom, &QComboBox::textActivated, zoom, apply);
}
