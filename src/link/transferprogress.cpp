#include "transferprogress.h"

#include "link/host.h"

TransferProgress::TransferProgress(Host& host) : host_(host) {}

void TransferProgress::setMaximum(int maximum)
{
    maximum_ = maximum;
    host_.progressUpdate(position_, maximum_);
}

void TransferProgress::setPosition(int position)
{
    position_ = position;
    host_.progressUpdate(position_, maximum_);
}

void TransferProgress::step()
{
    setPosition(position_ + 1);
}

void TransferProgress::show()
{
    host_.progressShow();
}

void TransferProgress::close()
{
    host_.progressClose();
}

void TransferProgress::setBarColor(quint32 rgb)
{
    host_.progressBarColor(rgb);
}
