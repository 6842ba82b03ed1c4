// Placeholder until the table store lands: every operation reports that it is not available.
#include "store/connection.h"

namespace tavrolin::store {

namespace {
Status notYet() { return Status::error(err::kFail, "the table store is not built yet"); }
}  // namespace

struct RecordSet::State {};
class ConnectionImpl {
public:
    std::string folder;
};

RecordSet::RecordSet() = default;
RecordSet::RecordSet(RecordSet&&) noexcept = default;
RecordSet& RecordSet::operator=(RecordSet&&) noexcept = default;
RecordSet::~RecordSet() = default;
int RecordSet::recordCount() const { return 0; }
int RecordSet::fieldCount() const { return 0; }
const FieldInfo& RecordSet::field(int) const {
    static FieldInfo none;
    return none;
}
const std::vector<FieldInfo>& RecordSet::fields() const {
    static std::vector<FieldInfo> none;
    return none;
}
Result<int> RecordSet::fieldIndex(const std::string&) const { return notYet(); }
bool RecordSet::bof() const { return true; }
bool RecordSet::eof() const { return true; }
void RecordSet::moveFirst() {}
void RecordSet::moveNext() {}
Status RecordSet::find(const std::string&) { return notYet(); }
Result<Value> RecordSet::value(const std::string&) const { return notYet(); }
Result<Value> RecordSet::value(int) const { return notYet(); }
Status RecordSet::setValue(const std::string&, const Value&) { return notYet(); }
Status RecordSet::addNew() { return notYet(); }
Status RecordSet::update() { return notYet(); }
void RecordSet::close() {}

Connection::Connection() : m_impl(std::make_unique<ConnectionImpl>()) {}
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&&) noexcept = default;
Connection::~Connection() = default;
Status Connection::open(const std::string&) { return notYet(); }
bool Connection::isOpen() const { return false; }
const std::string& Connection::folder() const { return m_impl->folder; }
Status Connection::close() { return {}; }
Result<RecordSet> Connection::openRecordSet(const std::string&, LockType) { return notYet(); }
Status Connection::execute(const std::string&) { return notYet(); }
Status Connection::flush() { return {}; }

}  // namespace tavrolin::store
