#pragma once

#include <QtGlobal>

class Host;

// The progress of a read or write; every change goes to the host's display.
class TransferProgress {
public:
    explicit TransferProgress(Host& host);

    void setMaximum(int maximum);
    void setPosition(int position);
    // One successful exchange.
    void step();
    void show();
    void close();
    void setBarColor(quint32 rgb);

    int position() const { return position_; }
    int maximum() const { return maximum_; }

private:
    Host& host_;
    int position_ = 0;
    int maximum_ = 0;
};
