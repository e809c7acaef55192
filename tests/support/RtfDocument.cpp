// The views of a read document: its tables, paragraphs, pictures and text.

#include "RtfReader.h"

namespace qvc::test {

namespace {

// Pointers to the blocks of type T in every section's body.
template <typename T>
std::vector<const T*> blocksOf(const std::vector<RtfSection>& sections) {
    std::vector<const T*> out;
    for (const RtfSection& s : sections)
        for (const RtfBlock& b : s.body)
            if (const auto* t = std::get_if<T>(&b))
                out.push_back(t);
    return out;
}

}  // namespace

std::vector<int> RtfRow::widths() const {
    std::vector<int> w;
    int left = 0;
    for (const RtfCell& c : cells) {
        w.push_back(c.rightEdge - left);
        left = c.rightEdge;
    }
    return w;
}

std::vector<const RtfTable*> RtfSection::tables() const {
    return blocksOf<RtfTable>({*this});
}
std::vector<const RtfParagraph*> RtfSection::paragraphs() const {
    return blocksOf<RtfParagraph>({*this});
}
std::vector<const RtfTable*> RtfDocument::tables() const {
    return blocksOf<RtfTable>(sections);
}
std::vector<const RtfParagraph*> RtfDocument::paragraphs() const {
    return blocksOf<RtfParagraph>(sections);
}

std::vector<const RtfPicture*> RtfDocument::pictures() const {
    std::vector<const RtfPicture*> out;
    const auto add = [&](const std::vector<RtfPicture>& pictures) {
        for (const RtfPicture& pic : pictures)
            out.push_back(&pic);
    };
    for (const RtfSection& s : sections)
        for (const RtfBlock& b : s.body)
            if (const auto* p = std::get_if<RtfParagraph>(&b))
                add(p->pictures);
            else
                for (const RtfRow& r : std::get<RtfTable>(b).rows)
                    for (const RtfCell& c : r.cells)
                        add(c.pictures);
    return out;
}

std::string RtfDocument::bodyText() const {
    std::string out;
    for (const RtfSection& s : sections)
        for (const RtfBlock& b : s.body)
            if (const auto* p = std::get_if<RtfParagraph>(&b))
                out += p->text + "\n";
            else
                for (const RtfRow& r : std::get<RtfTable>(b).rows)
                    for (const RtfCell& c : r.cells)
                        out += c.text + "\n";
    return out;
}

}  // namespace qvc::test
