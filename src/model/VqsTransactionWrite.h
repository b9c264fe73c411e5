// Repository writes of the model's nodes that let a repository failure reach their caller:
// the write runs in a transaction scope, which a failure marks failed before it passes on.
#pragma once

#include "model/VqsTransaction.h"
#include "proxy/VqException.h"

// Runs `body(transaction)`; nothing is written when the transaction is no longer usable.
template <class Body>
auto VqsWriteInTransaction(Body body)
{
    VqsTransaction transaction;
    try {
        return body(transaction);
    } catch (const VqReportableException&) {
        transaction.SetFailed();
        throw;
    }
}
