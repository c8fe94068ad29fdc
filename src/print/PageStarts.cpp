#include "print/PageStarts.h"

void CPageStarts::Begin() {
  pageStarts.assign(1, 0);
  done = false;
}

void CPageStarts::Clear() {
  pageStarts.clear();
  done = false;
}

void CPageStarts::PageLaidOut(uint32_t page, uint32_t next, uint32_t end) {
  if (page != Count() || done) return;
  if (next < end && next > pageStarts.back())
    pageStarts.push_back(next);
  else
    done = true;
}
