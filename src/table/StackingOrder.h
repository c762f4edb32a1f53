#pragma once
class QGraphicsItem;

// Puts a control of the table surface above every other control of it.
void BringToFront(QGraphicsItem& item);
// Puts a control of the table surface below every other control of it.
void SendToBack(QGraphicsItem& item);
