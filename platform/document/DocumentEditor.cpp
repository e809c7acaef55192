#include "DocumentEditor.h"

#include <algorithm>
#include <utility>

namespace qvc::doc {

DocumentEditor::DocumentEditor(Document& doc) : doc_(doc) {
    if (doc_.sections_.empty()) {
        doc_.sections_.emplace_back();
    }
}

void DocumentEditor::setPage(const PageSetup& page) {
    current().page = page;
}

bool DocumentEditor::bodyIsEmpty() const {
    return current().body.empty() && !(target_ == Target::Body && open_);
}

void DocumentEditor::setOrientation(Orientation o) {
    if (current().page.orientation == o) {
        return;
    }
    if (!bodyIsEmpty()) {
        if (target_ == Target::Body) {
            closeParagraph();
        }
        Section next;
        next.page = current().page;
        next.header = current().header;
        next.footer = current().footer;
        doc_.sections_.push_back(std::move(next));
    }
    PageSetup& p = current().page;
    p.orientation = o;
    int32_t shortSide = std::min(p.pageWidthTwips, p.pageHeightTwips);
    int32_t longSide = std::max(p.pageWidthTwips, p.pageHeightTwips);
    p.pageWidthTwips = o == Orientation::Landscape ? longSide : shortSide;
    p.pageHeightTwips = o == Orientation::Landscape ? shortSide : longSide;
}

std::vector<Block>& DocumentEditor::targetBlocks() {
    switch (target_) {
        case Target::Header:
            return current().header;
        case Target::Footer:
            return current().footer;
        case Target::Body:
        default:
            return current().body;
    }
}

void DocumentEditor::setTarget(Target t) {
    if (t == target_) {
        return;
    }
    closeParagraph();
    target_ = t;
    if (t != Target::Body) {
        targetBlocks().clear();
    }
}

void DocumentEditor::applyHeaderFooterToAll() {
    closeParagraph();
    Section& cur = current();
    for (auto r = cur.header.rbegin(); r != cur.header.rend(); ++r) {
        if (auto* p = std::get_if<Paragraph>(&*r)) {
            p->ruleBelow = true;
            break;
        }
    }
    for (auto& b : cur.footer) {
        if (auto* p = std::get_if<Paragraph>(&b)) {
            p->ruleAbove = true;
            break;
        }
    }
    for (Section& s : doc_.sections_) {
        if (&s != &cur && s.header.empty()) {
            s.header = cur.header;
        }
        if (&s != &cur && s.footer.empty()) {
            s.footer = cur.footer;
        }
    }
}

Paragraph& DocumentEditor::openParagraph(HAlign align) {
    if (!open_) {
        open_.emplace();
        open_->align = align;
        open_->endFormat = format_;
    }
    return *open_;
}

void DocumentEditor::closeParagraph(bool keepWithNext) {
    if (!open_) {
        return;
    }
    open_->keepWithNext = open_->keepWithNext || keepWithNext;
    if (!open_->runs.empty()) {
        open_->endFormat = open_->runs.back().format;
    }
    targetBlocks().emplace_back(std::move(*open_));
    open_.reset();
}

void DocumentEditor::addEmptyParagraph() {
    closeParagraph();
    Paragraph p;
    p.endFormat = format_;
    targetBlocks().emplace_back(std::move(p));
}

void DocumentEditor::addBlock(Block block) {
    closeParagraph();
    targetBlocks().push_back(std::move(block));
}

void DocumentEditor::withOpenParagraphEnded(const std::function<void(const Document&)>& use) {
    if (!open_) {
        use(doc_);
        return;
    }
    std::vector<Block>& blocks = targetBlocks();
    Paragraph p = *open_;
    if (!p.runs.empty()) {
        p.endFormat = p.runs.back().format;
    }
    blocks.emplace_back(std::move(p));
    // The copy goes again however `use` ends, so the insertion point stays open.
    struct TakeBack {
        std::vector<Block>& blocks;
        ~TakeBack() { blocks.pop_back(); }
    } takeBack{blocks};
    use(doc_);
}

}  // namespace qvc::doc
