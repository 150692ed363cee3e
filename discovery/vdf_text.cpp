#include "discovery/vdf_text.h"

#include "base/text_case.h"

namespace quorvell::discovery {

namespace {

constexpr int kMaxDepth = 32;

struct Token {
    enum class Kind { Text, Open, Close } kind;
    std::string text;
};

class Tokenizer {
public:
    explicit Tokenizer(std::string_view text) : text_(text) {}

    // nullopt at the end of the text.
    std::optional<Token> next() {
        skipSpaceAndComments();
        if (pos_ >= text_.size()) {
            return std::nullopt;
        }
        const char c = text_[pos_];
        if (c == '{' || c == '}') {
            ++pos_;
            return Token{c == '{' ? Token::Kind::Open : Token::Kind::Close, {}};
        }
        return Token{Token::Kind::Text, c == '"' ? quoted() : bare()};
    }

private:
    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    void skipSpaceAndComments() {
        while (pos_ < text_.size()) {
            if (isSpace(text_[pos_])) {
                ++pos_;
            } else if (text_.substr(pos_, 2) == "//") {
                const auto end = text_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? text_.size() : end;
            } else {
                return;
            }
        }
    }

    std::string quoted() {
        std::string out;
        for (++pos_; pos_ < text_.size() && text_[pos_] != '"'; ++pos_) {
            char c = text_[pos_];
            if (c == '\\' && pos_ + 1 < text_.size()) {
                c = text_[++pos_];
                c = c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
            }
            out += c;
        }
        ++pos_; // closing quote (or the end of an unterminated text)
        return out;
    }

    std::string bare() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !isSpace(text_[pos_]) && text_[pos_] != '{' &&
               text_[pos_] != '}' && text_[pos_] != '"') {
            ++pos_;
        }
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool isCondition(const Token& token) {
    return token.text.size() >= 2 && token.text.front() == '[' && token.text.back() == ']';
}

// Reads name/value pairs until a closing brace (inner blocks) or the end.
bool readBlock(Tokenizer& tokens, VdfNode& block, int depth, bool inner) {
    block.isBlock = true;
    for (;;) {
        auto name = tokens.next();
        if (!name) {
            return !inner;
        }
        if (name->kind == Token::Kind::Close) {
            return inner;
        }
        if (name->kind == Token::Kind::Open) {
            return false;
        }
        if (isCondition(*name)) {
            continue; // "[$WIN32]"-style platform condition after a value
        }
        auto value = tokens.next();
        while (value && value->kind == Token::Kind::Text && isCondition(*value)) {
            value = tokens.next();
        }
        if (!value || value->kind == Token::Kind::Close) {
            return false;
        }
        VdfNode node;
        if (value->kind == Token::Kind::Open) {
            if (depth >= kMaxDepth || !readBlock(tokens, node, depth + 1, true)) {
                return false;
            }
        } else {
            node.value = std::move(value->text);
        }
        block.children.push_back({std::move(name->text), std::move(node)});
    }
}

} // namespace

const VdfNode* VdfNode::child(std::string_view name) const {
    for (const auto& [key, node] : children) {
        if (text_case::equalNames(key, name)) {
            return &node;
        }
    }
    return nullptr;
}

std::optional<VdfNode> parseVdf(std::string_view text) {
    Tokenizer tokens(text);
    VdfNode root;
    if (!readBlock(tokens, root, 0, false)) {
        return std::nullopt;
    }
    return root;
}

} // namespace quorvell::discovery
