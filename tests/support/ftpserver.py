"""An FTP server for the tests on 127.0.0.1: names on the wire in GBK, as the schools'
servers speak, two accounts sharing one root folder.

    ftpserver.py ROOT PORT
"""
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    root, port = sys.argv[1], int(sys.argv[2])
    authorizer = DummyAuthorizer()
    # The fixed account of the statistics exchange, with its default password.
    authorizer.add_user("library", "kiwi7730142", root, perm="elradfmwMT")
    # An account of the kind a librarian types into the settings.
    authorizer.add_user("teacher", "chalk-2017", root, perm="elradfmwMT")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.encoding = "gbk"
    handler.timeout = 60
    server = FTPServer(("127.0.0.1", port), handler)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
