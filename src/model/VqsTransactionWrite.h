// Repository writes of the model's nodes that let a repository failure reach their caller:
// the write runs in a transaction scope, which a failure marks failed before it passes on.
#pragma once

#include "model/VqsTransaction.h"
#include "proxy/VqException.h"

#include <utility>

// Runs `body(transaction)`; nothing is written when the transaction is no longer usable.
// Its result stands once the transaction has ended without failing (committed, at the
// outermost level); otherwise the result type's empty value is answered.
template <class Body>
auto VqsWriteInTransaction(Body body)
{
    decltype(body(std::declval<VqsTransaction&>())) result{};
    {
        VqsTransaction transaction;
        try {
            result = body(transaction);
        } catch (const VqReportableException&) {
            transaction.SetFailed();
            throw;
        }
    }
    return VqsTransaction::IsOk() ? result : decltype(result){};
}
