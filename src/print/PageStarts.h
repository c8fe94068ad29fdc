#pragma once
#include <cstdint>
#include <vector>

// Where each page of a printout begins (a text offset or a note index),
// found page by page: page p can be laid out only after page p - 1.
class CPageStarts {
 public:
  // A new printout: page 1 starts at 0.
  void Begin();
  void Clear();
  // Number of pages whose start is known.
  uint32_t Count() const { return static_cast<uint32_t>(pageStarts.size()); }
  // Start of page `page` (1-based, at most Count()).
  uint32_t Start(uint32_t page) const { return pageStarts[page - 1]; }
  // The page that reached the end has been laid out.
  bool Done() const { return done; }
  // Page `page` was laid out and the next one would begin at `next` of
  // `end`. Only the last known page adds a start; a page that made no
  // progress ends the printout instead of repeating itself.
  void PageLaidOut(uint32_t page, uint32_t next, uint32_t end);
  // The preview lets the user go to the last known page: the highest page
  // only grows.
  uint32_t PreviewMaxPage(uint32_t current) const { return current > Count() ? current : Count(); }

 private:
  std::vector<uint32_t> pageStarts;
  bool done = false;
};
