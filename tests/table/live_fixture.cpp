#include "live_fixture.h"

server_fixture *live_table_test::server_ = nullptr;
bool live_table_test::connected_ = false;

namespace {

// Logs out and stops the server once every test of the program has run.
class live_env : public ::testing::Environment {
public:
    void TearDown() override
    {
        if (!live_table_test::server_) return;
        db_access::logout();
        delete live_table_test::server_;
        live_table_test::server_ = nullptr;
    }
};

} // namespace

void live_table_test::SetUpTestSuite()
{
    if (server_) return;
    ::testing::AddGlobalTestEnvironment(new live_env);
    server_ = new server_fixture(true);
    connected_ = db_access::login("127.0.0.1", server_->port(), "admin", "admin");
}
