"""An FTP server for the tests on 127.0.0.1: names on the wire in GBK, as the schools'
servers speak, several accounts sharing one root folder.

    ftpserver.py ROOT PORT
"""
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.log import logger
from pyftpdlib.servers import FTPServer

WIRE = "gbk"
# Accounts of a server that replaces no file: it renames onto no existing file (some
# Windows servers) and stores over none (ProFTPD's default, AllowOverwrite off).
NO_OVERWRITE = {"strict", "keeper"}


def to_wire(lines):
    for line in lines:
        yield line.decode("utf8").encode(WIRE, "replace")


class GbkFS(AbstractedFS):
    """Listings in GBK; the names on disk stay UTF-8."""

    def format_list(self, *args, **kwargs):
        return to_wire(super().format_list(*args, **kwargs))

    def format_mlsx(self, *args, **kwargs):
        return to_wire(super().format_mlsx(*args, **kwargs))


class CuttingDTPHandler(DTPHandler):
    """The data connections of the account "cutoff" break after the first bytes of an
    upload, as a connection that drops: the transfer is cut, not refused."""

    def handle_read(self):
        super().handle_read()
        if self.cmd_channel.username == "cutoff" and self.tot_bytes_received > 0 and not self._closed:
            self._resp = ("426 Connection closed; transfer aborted.", logger.info)
            self.close()

    handle_read_event = handle_read


class GbkHandler(FTPHandler):
    """Commands and replies in GBK, the accounts of NO_OVERWRITE replacing no file."""

    dtp_handler = CuttingDTPHandler

    def ftp_STOR(self, file, mode="w"):
        if self.username in NO_OVERWRITE and "a" not in mode and self.fs.lexists(file):
            self.respond("550 %s: Overwrite permission denied." % self.fs.fs2ftp(file))
            return None
        return super().ftp_STOR(file, mode)

    def ftp_RNTO(self, path):
        if self.username in NO_OVERWRITE and self._rnfr and self.fs.lexists(path):
            self._rnfr = None
            self.respond("550 Cannot create a file when that file already exists.")
            return
        return super().ftp_RNTO(path)

    def decode(self, data):
        return data.decode(WIRE, self.unicode_errors)

    def push(self, data):
        # FTPHandler.push would encode in UTF-8; its base sends bytes as they are.
        super(FTPHandler, self).push(data.encode(WIRE, "replace"))


def main():
    root, port = sys.argv[1], int(sys.argv[2])
    authorizer = DummyAuthorizer()
    # The fixed account of the statistics exchange, with its default password.
    authorizer.add_user("library", "kiwi7730142", root, perm="elradfmwMT")
    # An account of the kind a librarian types into the settings.
    authorizer.add_user("teacher", "chalk-2017", root, perm="elradfmwMT")
    authorizer.add_user("strict", "chalk-2017", root, perm="elradfmwMT")
    # An account that may store but neither rename nor delete; "keeper" is one on a server
    # that replaces no file.
    authorizer.add_user("storeonly", "chalk-2017", root, perm="elrw")
    authorizer.add_user("keeper", "chalk-2017", root, perm="elrw")
    # An account that may store and delete but not rename.
    authorizer.add_user("norename", "chalk-2017", root, perm="elrdw")
    authorizer.add_user("cutoff", "chalk-2017", root, perm="elradfmwMT")
    handler = GbkHandler
    handler.authorizer = authorizer
    handler.abstracted_fs = GbkFS
    handler.timeout = 60
    # A wrong password is answered at once: the tests try one on purpose.
    handler.auth_failed_timeout = 0.1
    server = FTPServer(("127.0.0.1", port), handler)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
