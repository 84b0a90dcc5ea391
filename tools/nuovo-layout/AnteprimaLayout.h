#pragma once
// The live drawing of the layout being made: the page, its rectangles numbered in the order the
// pictures fill them, the room kept for their captions, and the title; or, when the choices give
// no layout, why not.

#include "LayoutPlan.h"

#include <QString>
#include <QWidget>

#include <optional>

namespace lumetra::nuovolayout {

class AnteprimaLayout : public QWidget {
    Q_OBJECT
public:
    explicit AnteprimaLayout(QWidget* parent = nullptr);

    void MostraPiano(const layoutwriter::LayoutPlan& piano);
    void MostraErrore(const QString& testo);

    const std::optional<layoutwriter::LayoutPlan>& Piano() const { return piano_; }
    QSize sizeHint() const override { return {360, 480}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<layoutwriter::LayoutPlan> piano_;
    QString errore_;
};

} // namespace lumetra::nuovolayout
