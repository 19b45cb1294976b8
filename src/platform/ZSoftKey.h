#pragma once

#include <QWidget>

class ZOptionsMenu;

// The soft-key bar: index 0 is the left key, 1 the right. The left key opens its options menu,
// a click on the right key calls the slot given by signature text (SLOT(...)).
class ZSoftKey : public QWidget {
    Q_OBJECT
public:
    enum KEY_IDX { LEFT = 0, RIGHT = 1 };
    enum TEXT_PRIORITY { PRIORITY_0 = 0 };

    ZSoftKey(const char* text, QWidget* parent, QObject* receiver);
    ~ZSoftKey() override;

    void setText(KEY_IDX index, const QString& text, TEXT_PRIORITY priority = PRIORITY_0);
    QString text(KEY_IDX index) const;
    void setOptMenu(KEY_IDX index, ZOptionsMenu* menu);
    ZOptionsMenu* optMenu(KEY_IDX index) const;
    void setClickedSlot(KEY_IDX index, QObject* receiver, const char* member);

    // What a press of the key does: opens the menu or calls the slot.
    void press(KEY_IDX index);

signals:
    void leftClicked();
    void textChanged();
    void rightClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void openMenu(ZOptionsMenu* menu);

    struct Key;
    Key* keys_;
};
